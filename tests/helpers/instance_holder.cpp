// Holds the single-instance claim until killed; prints "claimed" once it has
// it and "raised" each time a second start asks it to come forward.
#include "SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SingleInstance inst;
    if (!inst.claim(argc > 1 ? atoi(argv[1]) : 0)) {
        std::printf("busy\n");
        std::fflush(stdout);
        return 3;
    }
    QObject::connect(&inst, &SingleInstance::activationRequested, [] {
        std::printf("raised\n");
        std::fflush(stdout);
    });
    std::printf("claimed\n");
    std::fflush(stdout);
    return app.exec();
}
