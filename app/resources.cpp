#include "app/resources.h"

#include <QtGlobal>

void InitCorvaneResources() {
    Q_INIT_RESOURCE(corvane);
}
