#pragma once

#include "CommandStringDevice.h"

// The command strings sent, unchanged, to Windows' own multimedia command interface
// (mciSendStringW: the UTF-8 strings become UTF-16, so a path in any language reaches
// the device as written).
class MciCommandDevice : public CommandStringDevice {
public:
    // The reply gets the device's answer over its first characters; the buffer handed
    // to the device is as long as the reply.
    int SendString(const std::string& command, std::string* reply) override;

    // A failure is reported on standard error, not in a message box: a box would sit
    // behind the topmost show and hold its thread.
    void Execute(const std::string& command) override;
};
