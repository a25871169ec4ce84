// Quillet32: the program's entry point.
#include "app/main_window.h"
#include "platform/qt/desktop_program.h"

int main(int argc, char* argv[]) {
    return q32::runDesktopProgram(argc, argv, [](const q32::Platform& platform) {
        auto window = std::make_shared<q32::MainWindow>(platform);
        window->Form_Load();
        return std::shared_ptr<void>(window);
    });
}
