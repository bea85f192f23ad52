#include "floor.h"

#include "bareengine.h"
#include "bareserver.h"
#include "benchsetup.h"

std::unique_ptr<Floor> openFloor(const BenchSetup& setup) {
    if (setup.onServer())
        return std::make_unique<BareServer>(setup.server);
    return std::make_unique<BareEngine>(setup.databasePath());
}
