#pragma once
// The main window as the windows of the core know it. It sits above them in the
// program, which installs it at start-up: the login opens it, a user switch asks
// it to follow the new user's permissions, a rename of the shop to show the new
// name (gShopName). Until something is installed they do nothing.

#include <functional>

class QWidget;

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

// The drawn window skin, which sits above the core as well: the login attaches
// it to itself when it loads and detaches it when it goes. Until something is
// installed both do nothing.
struct Skin {
    std::function<void(QWidget*)> attach;
    std::function<void(QWidget*)> detach;
};

void installSkin(Skin skin);

void attachSkin(QWidget* window);
void detachSkin(QWidget* window);

}  // namespace shell
