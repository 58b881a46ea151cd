#include "frmKeyboard.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>

namespace {

/// Prints what the dialog would store instead of storing it.
class PrintingStore final : public vantrel::SingleKeyStore {
public:
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                std::uint8_t keyOperator) override {
        std::printf("setKey %d %d %d %d\n", index, keyType, keyValue, keyOperator);
    }
    void setKeyboardOnly(std::int16_t index, std::uint8_t keyValue,
                         std::uint8_t keyOperator) override {
        std::printf("setKeyboardOnly %d %d %d\n", index, keyValue, keyOperator);
    }
};

} // namespace

// Shows the assignment dialog on its own, opened for an input holding
// Shift+A, as the main window would open it. With a file name it instead
// writes a picture of the dialog to that file and ends, for documentation; a
// second argument names the tab to picture (0 Keyboard, 1 Mouse, 2 Joystick).
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    vantrel::frmKeyboard dialog(screenWidth * 15);
    PrintingStore store;
    constexpr std::uint8_t KeyA = 4;
    constexpr std::uint8_t Shift = 2;
    dialog.setupKeyboard(store, 0, 0, KeyA, Shift);
    if (argc > 2) {
        dialog.findChild<QTabWidget*>(QStringLiteral("Tabs"))->setCurrentIndex(std::atoi(argv[2]));
    }
    if (argc > 1) {
        dialog.show();
        return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    }
    dialog.exec();
    return 0;
}
