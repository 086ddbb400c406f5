#include "shell/application.h"

#include "shell/mainwindow.h"

#include <QApplication>

#include <memory>

namespace gleaner {

namespace {
std::unique_ptr<StreamCipher>& cipherSlot()
{
    static std::unique_ptr<StreamCipher> cipher;
    return cipher;
}
} // namespace

HarvestState& harvestState()
{
    static HarvestState state;
    return state;
}

StreamCipher& captionCipher() { return *cipherSlot(); }

void initProgramState()
{
    initHarvestState(harvestState());
    cipherSlot() = std::make_unique<StreamCipher>();
}

void releaseProgramState()
{
    releaseHarvestState(harvestState());
    cipherSlot().reset();
}

int runProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    initProgramState();
    int exitCode = 0;
    {
        MainWindow window(harvestState(), captionCipher());
        window.show();
        exitCode = QApplication::exec();
    }
    // After the window is gone, once.
    releaseProgramState();
    return exitCode;
}

} // namespace gleaner
