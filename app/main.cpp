// kov-q730: the desktop control program of the KOV-Q730 video-wall splicing processor.

#include "shell/kov_app.h"

int main(int argc, char** argv) {
    return kov::ui::CKovApp::Run(argc, argv);
}
