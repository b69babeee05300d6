#include "platform/GuiApplication.h"

#include "platform/ApplicationIcon.h"

#include <QApplication>

#include <memory>

namespace {

struct TGuiArguments {
    int* Argc = nullptr;
    char** Argv = nullptr;
    std::unique_ptr<QApplication> Application;
};

TGuiArguments& Arguments()
{
    static TGuiArguments arguments;
    return arguments;
}

} // namespace

void SetGuiArguments(int& argc, char** argv)
{
    Arguments().Argc = &argc;
    Arguments().Argv = argv;
}

QApplication& EnsureGuiApplication()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    TGuiArguments& arguments = Arguments();
    static int noArgc = 1;
    static char name[] = "vemora";
    static char* noArgv[] = {name, nullptr};
    if (!arguments.Argc) {
        arguments.Argc = &noArgc;
        arguments.Argv = noArgv;
    }
    arguments.Application = std::make_unique<QApplication>(*arguments.Argc, arguments.Argv);
    // Every window, alert and the about box take the icon from here; the desktop matches the
    // windows to the installed vemora.desktop by this name.
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vemora"));
    return *arguments.Application;
}

void ReleaseGuiApplication()
{
    Arguments().Application.reset();
}
