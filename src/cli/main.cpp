#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << QStringLiteral(
        "usage: yolkwright-cli [--data-dir DIR] [--game-dir DIR] [--edition us|uk] COMMAND [ARGS]\n");
    return 2;
}
