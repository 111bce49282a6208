#include "plot/iPlotPropertyEditor.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "plot/iPlotComponent.h"

namespace {

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

QString ObjectName(TiPersistent& object) {
    const TiPublishedProperty* name = object.Published().Find("Name");
    return name ? QString::fromStdString(name->GetString(object)) : QString();
}

}  // namespace

TiStringList PlotPropertiesToText(TiPlotComponent& plot, const TiPersistent* object) {
    TiStringList lines;
    plot.ForEachSavedObject([&](TiPersistent& item, const std::string& prefix) {
        if (!object || &item == object)
            PropertiesToText(item, prefix, lines);
    });
    return lines;
}

TiStringList PlotPropertiesFromText(TiPlotComponent& plot, const TiStringList& lines,
                                    TiPersistent* object) {
    TiPropertyLines remaining(lines);
    plot.ForEachSavedObject([&](TiPersistent& item, const std::string& prefix) {
        if (!object || &item == object)
            PropertiesFromText(item, prefix, remaining);
    });
    TiStringList unknown;
    for (const std::string& line : remaining.Remaining()) {
        if (!IsBlankLine(line))
            unknown.push_back(line);
    }
    return unknown;
}

TiPlotPropertyEditor::TiPlotPropertyEditor(TiPlotComponent& plot)
    : QDialog(&plot), plot_(plot), text_(new QPlainTextEdit), status_(new QLabel) {
    setObjectName("PropertyEditor");
    text_->setObjectName("PropertyText");
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    status_->setObjectName("PropertyStatus");
    status_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Reset |
                                         QDialogButtonBox::Close);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { Apply(); });
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this,
            [this] { Reload(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(520, 640);
    Reload();
}

void TiPlotPropertyEditor::SetObject(TiPersistent* object) {
    object_ = object;
    Reload();
}

void TiPlotPropertyEditor::ObjectRemoved(const TiPersistent* object) {
    if (object == object_)
        object_ = nullptr;
    if (reloadPending_)
        return;
    reloadPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { Reload(); }, Qt::QueuedConnection);
}

void TiPlotPropertyEditor::Reload() {
    reloadPending_ = false;
    setWindowTitle(object_ ? QStringLiteral("Properties - %1").arg(ObjectName(*object_))
                           : QStringLiteral("Properties"));
    QStringList lines;
    for (const std::string& line : PlotPropertiesToText(plot_, object_))
        lines << QString::fromStdString(line);
    text_->setPlainText(lines.join('\n'));
    status_->clear();
}

bool TiPlotPropertyEditor::Apply() {
    if (reloadPending_) {
        Reload();
        status_->setText(QStringLiteral("Not applied: the plot's objects changed; reloaded."));
        return false;
    }
    TiStringList lines;
    for (const QString& line : text_->toPlainText().split('\n'))
        lines.push_back(line.toStdString());
    try {
        const TiStringList unknown = PlotPropertiesFromText(plot_, lines, object_);
        if (!unknown.empty()) {
            status_->setText(QStringLiteral("Not applied, no such property: %1")
                                 .arg(QString::fromStdString(unknown.front())));
            return false;
        }
    } catch (const std::exception& error) {
        status_->setText(QString::fromUtf8(error.what()));
        return false;
    }
    status_->setText(QStringLiteral("Applied."));
    return true;
}

TiPlotPropertyEditor* FindPlotPropertyEditor(TiPlotComponent& plot) {
    // Not findChild: the editor has no meta-object of its own, so Qt's cast
    // would take any dialog on the plot (a progress window, a save dialog) for it.
    for (QObject* child : plot.children()) {
        if (auto* editor = dynamic_cast<TiPlotPropertyEditor*>(child))
            return editor;
    }
    return nullptr;
}

TiPlotPropertyEditor& ShowPlotPropertyEditor(TiPlotComponent& plot, TiPersistent* object) {
    TiPlotPropertyEditor* editor = FindPlotPropertyEditor(plot);
    if (!editor)
        editor = new TiPlotPropertyEditor(plot);
    editor->SetObject(object);
    if (plot.EditorFormStyle() == ipfsStayOnTop) {
        editor->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        editor->show();
    } else {
        editor->open();
    }
    editor->raise();
    return *editor;
}
