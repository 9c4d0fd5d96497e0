#pragma once

#include "core/rules/clsrole.h"

#include <QString>
#include <memory>

// The logged-in user with the permissions of the user's role.
class clsUser {
public:
    QString No;
    QString Name;
    QString PassWord;
    std::shared_ptr<clsRole> Role;  // none until the first successful Initial
    QString LoginTime;

    // Loads the user with the typed number and the user's role; found when the
    // user is there. Shows nothing: a failed read of the user, or of the role
    // (the user is then found, without permissions), hands back the engine's words.
    core::Loaded Initial(const QString& pNo);
};
