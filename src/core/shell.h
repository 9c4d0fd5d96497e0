#pragma once
// The main window as the windows of the core know it. It sits above them in the
// program, which installs it at start-up: the login opens it, a user switch asks
// it to follow the new user's permissions, a rename of the shop to show the new
// name (gShopName). Until something is installed they do nothing.

#include <functional>

namespace shell {

struct MainWindow {
    std::function<void()> open;               // after a successful login
    std::function<void()> followPermissions;  // after a successful user switch
    std::function<void()> shopRenamed;        // after the shop's new name was stored
};

void install(MainWindow mainWindow);

void openMainWindow();
void followPermissions();
void shopRenamed();

}  // namespace shell
