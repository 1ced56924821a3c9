#include "app/Screens.h"

#include "town/CastleScreen.h"

namespace kv {

void InstallScreens(ScreenContext& context) {
    InstallCastleScreens(context);
}

}  // namespace kv
