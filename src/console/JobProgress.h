#pragma once
// The progress window of a long job (printing, saving or opening a big
// file), with "取消". It shows only for a job that takes a while and goes
// with the job. A job has a Progress(int percent) signal and a Cancel() slot.

#include <QCoreApplication>
#include <QObject>
#include <QProgressDialog>

template <typename Job>
void ShowJobProgress(Job& job, QWidget* parent, const QString& title, const QString& text,
                     const QString& objectName) {
    constexpr int kShowAfterMs = 500;
    auto* progress = new QProgressDialog(text, QCoreApplication::translate("TJobProgress", "取消"),
                                         0, 100, parent);
    progress->setObjectName(objectName);
    progress->setWindowTitle(title);
    progress->setMinimumDuration(kShowAfterMs);
    progress->setAutoReset(false);
    QObject::connect(&job, &Job::Progress, progress, &QProgressDialog::setValue);
    QObject::connect(progress, &QProgressDialog::canceled, &job, &Job::Cancel);
    QObject::connect(&job, &QObject::destroyed, progress, &QObject::deleteLater);
}
