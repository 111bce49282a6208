#include "console/ReceiveTextFile.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QSaveFile>

#include "console/TextBetween.h"

bool SaveReceivedText(const TLineTextStore& store, uint64_t fromLine, const QString& path) {
    constexpr size_t kFlushSize = 1 << 20;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    std::string buffer;
    buffer.reserve(kFlushSize * 2);
    bool ok = true;
    for (uint64_t line = std::max(fromLine, store.FirstLine()); ok && line < store.EndLine();
         ++line) {
        AppendShownBytes(store, line, 0, store.LineLength(line), buffer);
        buffer += EndingBytes(store.Ending(line));
        if (buffer.size() >= kFlushSize) {
            ok = file.write(buffer.data(), static_cast<qint64>(buffer.size())) >= 0;
            buffer.clear();
        }
    }
    ok = ok && file.write(buffer.data(), static_cast<qint64>(buffer.size())) >= 0;
    return ok && file.commit();
}

QString TSaveFilePrompt::Ask() {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QCoreApplication::translate("TSaveFilePrompt", "文本文档(*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(lastName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    lastName_ = dialog.selectedFiles().constFirst();
    return lastName_;
}
