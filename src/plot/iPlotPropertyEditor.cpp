#include "plot/iPlotPropertyEditor.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "plot/iPlotComponent.h"
#include "plot/iPlotConfigFile.h"

namespace {

bool IsBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

TiStringList PlotPropertiesToText(TiPlotComponent& plot) {
    TiStringList lines;
    ForEachPlotObject(plot, [&lines](TiPersistent& object, const std::string& prefix) {
        PropertiesToText(object, prefix, lines);
    });
    return lines;
}

TiStringList PlotPropertiesFromText(TiPlotComponent& plot, const TiStringList& lines) {
    TiPropertyLines remaining(lines);
    ForEachPlotObject(plot, [&remaining](TiPersistent& object, const std::string& prefix) {
        PropertiesFromText(object, prefix, remaining);
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
    setWindowTitle(QStringLiteral("Properties"));
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

void TiPlotPropertyEditor::Reload() {
    QStringList lines;
    for (const std::string& line : PlotPropertiesToText(plot_))
        lines << QString::fromStdString(line);
    text_->setPlainText(lines.join('\n'));
    status_->clear();
}

bool TiPlotPropertyEditor::Apply() {
    TiStringList lines;
    for (const QString& line : text_->toPlainText().split('\n'))
        lines.push_back(line.toStdString());
    try {
        const TiStringList unknown = PlotPropertiesFromText(plot_, lines);
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

TiPlotPropertyEditor& ShowPlotPropertyEditor(TiPlotComponent& plot) {
    auto* editor = plot.findChild<TiPlotPropertyEditor*>(QString(), Qt::FindDirectChildrenOnly);
    if (!editor)
        editor = new TiPlotPropertyEditor(plot);
    editor->Reload();
    if (plot.EditorFormStyle() == ipfsStayOnTop) {
        editor->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        editor->show();
    } else {
        editor->open();
    }
    editor->raise();
    return *editor;
}
