#include "device_state.h"

namespace kov::sim {

Rack DefaultRack() {
    return Rack{1, 2, 3, 4, 129, 130, 131, 132, 0, 0, 0, 0, 0, 0};
}

}  // namespace kov::sim
