#pragma once

#include "Pen.h"

#include <string>
#include <vector>

// The one table of object types: it gives the catalogue file, the image file
// names and the drawings, so they cannot drift apart.

struct CombinationDef {
    const char* combineWith;
    const char* turnInto;
    bool destroy;
};

struct ObjectDef {
    const char* name;
    bool takeable;
    bool finishLevelOnInteract;
    bool canSpawnObject;
    const char* turnIntoOnInteract; // null when a click does not turn it
    std::vector<CombinationDef> combinations;
    void (*draw)(const Pen& pen);
    float iconFill; // share of the inventory slot the icon fills (a small key stays small)
};

const std::vector<ObjectDef>& objectCatalogue();

// "small_key" -> "SMALL KEY"
std::string displayName(const char* name);

// The catalogue file: every flag written, turnIntoOnInteract and combinations
// only where a type has them.
std::string catalogueJson(const std::vector<ObjectDef>& catalogue);
