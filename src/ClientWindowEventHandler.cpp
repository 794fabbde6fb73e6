#include "ClientWindowEventHandler.h"

#include "Sarn2017.h"

void ClientWindowEventHandler::onResize(int width, int height) {
    static_cast<Sarn2017*>(game)->onResize(width, height);
}
