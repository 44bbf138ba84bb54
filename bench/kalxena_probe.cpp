// The whole program, ending by itself once the start-up has run: what bench_startup times.
#include "ui/app.h"

int main(int argc, char** argv) {
    kalvora::ui::AppOptions options;
    options.quitWhenIdle = true;
    return kalvora::ui::runApplication(argc, argv, options);
}
