#include "app/tavrino_app.h"

#include <QIcon>

#include "app/monitor_registry.h"
#include "monitors/mon_lyrics.h"
#include "resources/images.h"
#include "settings/settings.h"

namespace tavrino {

void CTavrinoApp::DescribeApplication() {
    setOrganizationName(QString::fromUtf8(kSettingsCompany.data(), kSettingsCompany.size()));
    setApplicationName(QString::fromUtf8(kSettingsApplication.data(), kSettingsApplication.size()));
    setApplicationVersion(TAVRINO_VERSION);
}

CTavrinoApp::CTavrinoApp(int& argc, char** argv)
    : QApplication(argc, argv),
      outputs_(LoadSettings(store_).soundFont),
      outputChoice_(outputs_),
      stream_(outputs_, clock_) {
    RegisterImages();
    setWindowIcon(QIcon(":/images/tavrino.png"));
}

// The windows go before the stream they play through.
CTavrinoApp::~CTavrinoApp() {
    session_.reset();
}

bool CTavrinoApp::InitInstance(const CommandLineRequest& request) {
    outputs_.SetAudioDriver(LoadSettings(store_).audioDriver);
    session_ = std::make_unique<TavrinoSession>(store_, stream_, outputChoice_, monitors_);
    RegisterMonitors(monitors_, session_->monitorServices());
    monitors_.Register(kLyricsMonitor, [this](SettingsStore& store) {
        const CTavrinoDoc& doc = session_->frame().doc();
        return std::make_unique<CMonLyrics>(store, session_->settings(), doc.song, doc.pathName);
    });
    monitors_.Register(kMixerMonitor, [this](SettingsStore& store) {
        return std::make_unique<CMonMixer>(store, session_->mixerServices());
    });
    return session_->Start(request);
}

}  // namespace tavrino
