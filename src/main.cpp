#include "ui/app.h"

int main(int argc, char** argv) {
    return kalvora::ui::runApplication(argc, argv);
}
