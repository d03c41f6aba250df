#include "web_help_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace quillmere::ui {

QString WebHelpLoader::moduleFileName() {
    return QStringLiteral(QUILLMERE_WEB_HELP_MODULE_FILE);
}

QStringList WebHelpLoader::defaultCandidates(const QString& programDir) {
    const QDir dir(programDir);
    return {QDir::cleanPath(dir.absoluteFilePath(moduleFileName())),
            QDir::cleanPath(dir.absoluteFilePath(QStringLiteral(QUILLMERE_WEB_HELP_MODULE_FROM_BIN "/") +
                                                 moduleFileName()))};
}

WebHelpLoader::WebHelpLoader(QStringList candidates) : candidates_(std::move(candidates)) {}

WebHelpLoader::~WebHelpLoader() = default;

WebHelpModule* WebHelpLoader::module() {
    if (tried_) return module_;
    tried_ = true;
    if (candidates_.isEmpty()) candidates_ = defaultCandidates(QCoreApplication::applicationDirPath());

    QStringList problems;
    for (const QString& path : candidates_) {
        if (!QFileInfo::exists(path)) {
            problems << QStringLiteral("%1: not found").arg(QDir::toNativeSeparators(path));
            continue;
        }
        auto loader = std::make_unique<QPluginLoader>(path);
        QObject* instance = loader->instance();
        auto* module = qobject_cast<WebHelpModule*>(instance);
        if (module) {
            loader_ = std::move(loader);
            module_ = module;
            return module_;
        }
        problems << QStringLiteral("%1: %2").arg(
            QDir::toNativeSeparators(path),
            instance ? QStringLiteral("not the web-help module") : loader->errorString());
    }
    error_ = problems.join(QLatin1Char('\n'));
    return nullptr;
}

}  // namespace quillmere::ui
