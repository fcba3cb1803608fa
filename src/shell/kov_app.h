#pragma once
// The application: settles the settings file and the language, then runs the main window.

namespace kov::ui {

class CKovApp {
public:
    // Runs the program until its main window closes; returns the exit code.
    static int Run(int argc, char** argv);
};

}  // namespace kov::ui
