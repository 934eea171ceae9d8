#include "engine/screens/demo_q_engine_panel.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace zentrix::engine {

using simulation::panel::TBZDemoQEngine;

DemoQEnginePanel::DemoQEnginePanel(QWidget* parent, DialogService& dialogs,
                                   SimulationPanelOptions options)
    : services_(dialogs) {
    TBZDemoQEngine::Services services;
    services.questions = &services_;
    services.errors = &services_;
    services.sound = options.sound;
    services.makeTimer = std::move(options.makeTimer);
    services.tempFolder = options.tempFolder;
    engine_ = new TBZDemoQEngine(std::move(services), parent);
    services_.setOwner(parent);
    // The test screen's panel: white, without a caption.
    QPalette white = engine_->palette();
    white.setColor(QPalette::Window, Qt::white);
    engine_->setPalette(white);
    engine_->setOnCorrectEvent([this](TBZDemoQEngine&) {
        if (OnCorrect) OnCorrect();
    });
    engine_->setOnInCorrectEvent([this](TBZDemoQEngine&, int frame) {
        if (OnIncorrect) OnIncorrect(frame);
    });

    note_ = new QLabel(QString::fromLatin1(kCannotPlayNote), engine_);
    note_->setObjectName(QStringLiteral("lbSimulationNote"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setStyleSheet(
        QStringLiteral("QLabel { background: #f4f6f8; color: #34424f; border: 1px solid #becad6; "
                       "padding: 8px; }"));
    note_->hide();
    engine_->installEventFilter(this);
}

DemoQEnginePanel::~DemoQEnginePanel() {
    // The player uses the services this object holds: it goes first, and
    // without this filter, which would see the events of its destruction.
    if (engine_) {
        engine_->removeEventFilter(this);
        delete engine_.data();
    }
}

SimulationPanelFactory DemoQEnginePanel::Plugin(SimulationPanelOptions options) {
    return [options](QWidget* parent, DialogService& dialogs) -> std::unique_ptr<SimulationPanel> {
        return std::make_unique<DemoQEnginePanel>(parent, dialogs, options);
    };
}

QWidget* DemoQEnginePanel::Widget() { return engine_; }

void DemoQEnginePanel::LoadSimulation(const QString& path) {
    if (path.isEmpty()) {
        engine_->Unload();
        playable_ = false;
    } else {
        playable_ = engine_->LoadSimulation(path);
    }
    note_->setVisible(!playable_);
    if (!playable_) placeNote();
}

void DemoQEnginePanel::Stop() { engine_->Stop(); }

bool DemoQEnginePanel::eventFilter(QObject* watched, QEvent* event) {
    // Only the player is watched; a resize reaches it while it is whole.
    if (event->type() == QEvent::Resize && note_->isVisibleTo(engine_)) placeNote();
    return QObject::eventFilter(watched, event);
}

// In the middle of the panel, as wide as a sentence reads well.
void DemoQEnginePanel::placeNote() {
    const QSize panel = engine_->size();
    const int width = std::max(0, std::min(360, panel.width() - 20));
    const int height = std::min(note_->heightForWidth(width), panel.height());
    note_->setGeometry((panel.width() - width) / 2, (panel.height() - height) / 2, width, height);
    note_->raise();
}

}  // namespace zentrix::engine
