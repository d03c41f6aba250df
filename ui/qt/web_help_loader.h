#pragma once
// Finds the web-help module and loads it, once. It is looked for beside the program (a build
// tree, a Windows folder) and then in ../lib/quillmere-mod-tool (an installation), both taken
// from the program's own location, never from the current folder.

#include <QString>
#include <QStringList>
#include <memory>

#include "web_help_module.h"

class QPluginLoader;

namespace quillmere::ui {

class WebHelpLoader {
  public:
    // The module's file name in this build, e.g. "quillmere-web-help.so".
    static QString moduleFileName();
    // Where the module is looked for, in order, for a program in `programDir`.
    static QStringList defaultCandidates(const QString& programDir);

    // Empty `candidates`: the default places for this program.
    explicit WebHelpLoader(QStringList candidates = {});
    ~WebHelpLoader();
    WebHelpLoader(const WebHelpLoader&) = delete;
    WebHelpLoader& operator=(const WebHelpLoader&) = delete;

    // The module, loaded at the first call and kept (the browser engine cannot be unloaded);
    // null when no candidate loads, and then on every later call too.
    WebHelpModule* module();
    // Why module() gave null: each place tried and what went wrong there.
    QString error() const { return error_; }

  private:
    QStringList candidates_;
    std::unique_ptr<QPluginLoader> loader_;
    WebHelpModule* module_ = nullptr;
    bool tried_ = false;
    QString error_;
};

}  // namespace quillmere::ui
