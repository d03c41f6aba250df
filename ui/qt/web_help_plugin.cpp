// The web-help module's entry point: QPluginLoader finds this class by its metadata and the tool
// reaches it only through WebHelpModule.

#include <QCoreApplication>
#include <QObject>
#include <QOpenGLContext>

#include "form3.h"
#include "web_help_module.h"

// Exported by Qt GUI, declared only in its private headers: what QGuiApplication itself calls
// when Qt::AA_ShareOpenGLContexts is set before it is made.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace quillmere::ui {
namespace {

QOpenGLContext* shareContext = nullptr;

void deleteShareContext() {
    qt_gl_set_global_share_context(nullptr);
    delete shareContext;
    shareContext = nullptr;
}

// Qt WebEngine draws through a context shared with the application's, which Qt makes at start
// only when asked before the application exists. Asking there would create an OpenGL context at
// every start of the tool, so the module makes it when the browser is first needed.
void shareOpenGLContexts() {
    if (QOpenGLContext::globalShareContext()) return;
    shareContext = new QOpenGLContext;
    shareContext->setFormat(QSurfaceFormat::defaultFormat());
    shareContext->create();  // without OpenGL it stays invalid and WebEngine draws in software
    qt_gl_set_global_share_context(shareContext);
    qAddPostRoutine(deleteShareContext);
}

}  // namespace

class WebHelpPlugin : public QObject, public WebHelpModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUILLMERE_WEB_HELP_MODULE_IID)
    Q_INTERFACES(quillmere::ui::WebHelpModule)

  public:
    QWidget* createForm3(const WebHelpSetup& setup) override {
        shareOpenGLContexts();
        return new Form3(setup);
    }
};

}  // namespace quillmere::ui

#include "web_help_plugin.moc"
