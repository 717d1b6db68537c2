#pragma once
// The forms start-up creates, in their order, each with its splash line.
#include <QWidget>
#include <functional>
#include <vector>

namespace Startup {

struct FormEntry {
    const char* name;                      // its global's name
    int splashTextId;                      // the UI text of its splash line
    std::function<QWidget*()> create;      // creates it and sets its global
    std::function<void(QWidget*)> destroy; // frees it and clears its global
    bool modal = true;                     // counts as modal for a second start
};

const std::vector<FormEntry>& FormList();

} // namespace Startup
