#pragma once
// A link object that is open on a scripted port.

#include <memory>

#include "link/serial_comm.h"
#include "support/fake_port.h"

namespace kov::test {

struct FakeLink {
    FakeLink() {
        auto owned = std::make_unique<FakePort>();
        port = owned.get();
        link.SetPort(std::move(owned));
        link.portNumber = 1;
        link.baudRate = 9600;
        link.timeout = 1;
        link.Open();
    }

    CSerialComm link;
    FakePort* port = nullptr;
};

}  // namespace kov::test
