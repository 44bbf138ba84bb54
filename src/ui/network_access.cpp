#include "ui/network_access.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

namespace kalvora::ui {

std::unique_ptr<NetworkAccess> loadNetworkAccess() {
    // Beside the program once installed; in the build's folder for the programs built with it
    // (tests, benchmarks), which live in folders of their own.
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef KALVORA_BUILD_MODULE_DIR
    folders << QStringLiteral(KALVORA_BUILD_MODULE_DIR);
#endif
    for (const QString& folder : folders) {
        QLibrary module(QDir(folder).filePath(QLatin1String(networkModuleFile)));
        if (!module.load()) continue;
        // Never unloaded: the object made below runs the module's code until the program ends.
        if (auto create = reinterpret_cast<CreateNetworkAccess>(module.resolve(networkModuleEntry)))
            return std::unique_ptr<NetworkAccess>(create());
    }
    return nullptr;
}

}  // namespace kalvora::ui
