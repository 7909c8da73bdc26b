#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/application.hpp"
#include "fake/fake_platform.hpp"

namespace zivmora::testing {

inline const Addresses kTestAddresses{"http://play.test/?:", "http://version.test/v",
                                      "http://download.test/d"};

// The whole program over the fake platform: `while_running` runs inside the message loop and
// what it caused is returned as its own log.
class ProgramTest : public ::testing::Test {
protected:
    FakePlatform platform;
    Application application{platform.ports(), kTestAddresses};
    int exit_code = 99;

    Log while_running(const std::function<void()>& work) {
        Log caused;
        platform.window.loop_work.push_back([&] {
            const std::size_t mark = platform.log.size();
            work();
            caused.assign(platform.log.begin() + static_cast<std::ptrdiff_t>(mark),
                          platform.log.end());
        });
        exit_code = application.run();
        return caused;
    }

    // Later starts: the shortcut is already on the desktop.
    void shortcut_exists() {
        platform.shell.entries.insert("/home/user/Desktop/Zivmora1.4.desktop");
    }
};

}  // namespace zivmora::testing
