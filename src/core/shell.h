#pragma once
// The main window as the windows of the core know it. It sits above them in the
// program, which installs it at start-up: the login opens it, a user switch asks
// it to follow the new user's permissions. Until something is installed both do
// nothing.

#include <functional>

namespace shell {

struct MainWindow {
    std::function<void()> open;               // after a successful login
    std::function<void()> followPermissions;  // after a successful user switch
};

void install(MainWindow mainWindow);

void openMainWindow();
void followPermissions();

}  // namespace shell
