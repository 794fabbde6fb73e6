#include "Sarn2016.h"

Sarn2016::Sarn2016() {
    windowEventHandler.game = this;
}
