#pragma once

#include "Pen.h"

// One drawing per object type, in units of a 100 x 100 frame whose bottom edge
// (y = 100) is the floor the object stands on.

void drawOpenDoor(const Pen& pen);
void drawGlowingPortal(const Pen& pen);
void drawLitBeacon(const Pen& pen);
void drawGoldenTrophy(const Pen& pen);
void drawClosedDoor(const Pen& pen);
void drawLockedDoor(const Pen& pen);
void drawDarkPortal(const Pen& pen);
void drawColdBeacon(const Pen& pen);
void drawDustyTrophy(const Pen& pen);
void drawWoodenCrate(const Pen& pen);
void drawTreasureChest(const Pen& pen);
void drawFlowerPot(const Pen& pen);
void drawSack(const Pen& pen);
void drawNailedCrate(const Pen& pen);
void drawClosedChest(const Pen& pen);
void drawLockedChest(const Pen& pen);
void drawOvergrownPot(const Pen& pen);

void drawKey(const Pen& pen);
void drawRustyKey(const Pen& pen);
void drawOilCan(const Pen& pen);
void drawCrystal(const Pen& pen);
void drawGeode(const Pen& pen);
void drawHammer(const Pen& pen);
void drawBurningTorch(const Pen& pen);
void drawTorch(const Pen& pen);
void drawMatches(const Pen& pen);
void drawCrowbar(const Pen& pen);
void drawSmallKey(const Pen& pen);
void drawShears(const Pen& pen);
void drawCloth(const Pen& pen);
