#include "app/Corvane.h"
#include "app/resources.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    InitCorvaneResources();
    Corvane window;
    window.setWindowIcon(QIcon(":/Corvane/IDI_ICON1"));
    window.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    window.show();
    return application.exec();
}
