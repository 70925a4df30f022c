#include <QCoreApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/tavrino_app.h"

int main(int argc, char** argv) {
    tavrino::CTavrinoApp::DescribeApplication();
    tavrino::CommandLineRequest request;
    {
        // Help, the version and usage errors need no display.
        QCoreApplication commandLine(argc, argv);
        request = tavrino::ParseCommandLine(commandLine.arguments());
    }
    if (request.exitAtOnce) {
        std::fputs(request.output.toLocal8Bit().constData(),
                   request.exitCode == 0 ? stdout : stderr);
        return request.exitCode;
    }
    tavrino::CTavrinoApp app(argc, argv);
    if (!app.InitInstance(request)) {
        return 1;
    }
    return app.exec();
}
