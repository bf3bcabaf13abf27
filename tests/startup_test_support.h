#pragma once

// A fresh machine, with an empty file system, and a fresh start-up module
// for every start-up and preview test.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/frm_cover.h"
#include "host/app.h"
#include "settings/frm_config.h"
#include "startup/sub_main.h"
#include "tests/support/headless.h"

namespace startup_test {

namespace headless = host::headless;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::startFreshProgram();
        ASSERT_EQ(host::loadedFormCount(), 0) << "an earlier test left a form loaded";
    }

    void TearDown() override {
        // Unload what is still loaded, so the runtime's form count starts
        // at zero for the next test.
        for (host::Form* form : {static_cast<host::Form*>(&program.frmCover()), static_cast<host::Form*>(&program.frmConfig())})
            if (form->isLoaded()) headless::runMain([form] { form->Unload(); });
    }

    headless::Outcome run(const std::string& commandLine) {
        headless::setCommandLine(commandLine);
        return headless::runMain([this] { program.Main(); });
    }

    // The calls the program made to the window manager, by name only.
    static std::vector<std::string> callNames() {
        std::vector<std::string> names;
        for (const auto& call : headless::calls()) names.push_back(call.name);
        return names;
    }

    static int callCount(const std::string& name) {
        const auto names = callNames();
        return int(std::count(names.begin(), names.end(), name));
    }

    startup::SubMain program;
};

}  // namespace startup_test
