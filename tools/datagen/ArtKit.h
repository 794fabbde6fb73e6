#pragma once

#include "Pen.h"

// Colours and parts that several object drawings share.
namespace palette {
const Rgba ink = hexColor(0x2b2118);
const Rgba white = hexColor(0xffffff);
const Rgba wood = hexColor(0xa0693a);
const Rgba woodDark = hexColor(0x6f4322);
const Rgba woodLight = hexColor(0xcf955a);
const Rgba pine = hexColor(0xdca660);
const Rgba pineDark = hexColor(0xa8733a);
const Rgba stone = hexColor(0x9c9cab);
const Rgba stoneDark = hexColor(0x6c6c7c);
const Rgba stoneLight = hexColor(0xc4c4d0);
const Rgba iron = hexColor(0x55606e);
const Rgba ironLight = hexColor(0x98a2b0);
const Rgba steel = hexColor(0xb9c3cf);
const Rgba gold = hexColor(0xf5c542);
const Rgba goldLight = hexColor(0xfff2a8);
const Rgba goldDark = hexColor(0xb7831a);
const Rgba rust = hexColor(0x94481f);
const Rgba rustLight = hexColor(0xc9702e);
const Rgba flameRed = hexColor(0xe8451c);
const Rgba flameOrange = hexColor(0xff9d1f);
const Rgba flameYellow = hexColor(0xffe76a);
const Rgba leaf = hexColor(0x4caf50);
const Rgba leafDark = hexColor(0x2d6a31);
const Rgba clay = hexColor(0xcf6a3e);
const Rgba clayDark = hexColor(0x97482a);
const Rgba burlap = hexColor(0xcaa56a);
const Rgba burlapDark = hexColor(0x95743f);
} // namespace palette

Rgba withAlpha(const Rgba& color, float alpha);

// A soft light behind something, fading to nothing at the radius.
void glow(const Pen& pen, Vec2 centre, float radius, const Rgba& color, float alpha);
// Four-pointed sparkle.
void sparkle(const Pen& pen, Vec2 centre, float size, const Rgba& color);
// Layered flame standing on base, tip height above it.
void flame(const Pen& pen, Vec2 base, float width, float height);
// Padlock whose body is centred on centre; size is the body width.
void padlock(const Pen& pen, Vec2 centre, float size);
// Key lying along +x from its bow at the origin; bowStyle 0 round, 1 square.
void keyShape(const Pen& pen, const Rgba& body, const Rgba& dark, int bowStyle);
// The stone ring and plinth of both portals.
void portalFrame(const Pen& pen);
// Pedestal and bowl of both beacons.
void beaconBase(const Pen& pen);
// Cup of both trophies in the given metal.
void trophyCup(const Pen& pen, const Rgba& light, const Rgba& mid, const Rgba& dark);
// Crate body, in fresh or weathered wood.
void crateBody(const Pen& pen, bool weathered);
// Chest body with its lid shut.
void closedChestBody(const Pen& pen, const Rgba& woodColor);
// Clay pot standing on the ground.
void clayPot(const Pen& pen);
// Door frame of all doors.
void doorFrame(const Pen& pen);
// The arched opening inside the door frame.
std::vector<Vec2> doorOpening();
// Closed door leaf in the frame.
void doorLeaf(const Pen& pen, const Rgba& woodColor);
// Torch stick and head, unlit.
void torchBody(const Pen& pen);
