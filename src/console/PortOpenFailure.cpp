#include "console/PortOpenFailure.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include "serial/Comm.h"

namespace {

// Names these texts' context in the translation.
struct TOpenFailure {
    Q_DECLARE_TR_FUNCTIONS(TOpenFailure)
};

}  // namespace

TOpenFailureFacts GatherOpenFailureFacts(const ECommsError& failure, const std::string& device) {
    TOpenFailureFacts facts{failure.SystemError(), device, {}, {}};
    if (facts.error == EACCES || facts.error == EPERM) {
        facts.group = DeviceGroupName(device);
    } else if (facts.error == EBUSY) {
        facts.holders = DeviceHolders(device);
    }
    return facts;
}

QString OpenFailureCause(const TOpenFailureFacts& facts) {
    const QString device = QString::fromStdString(facts.device);
    switch (facts.error) {
        case 0:
            return {};
        case EACCES:
        case EPERM: {
            if (facts.group.empty()) {
                return TOpenFailure::tr("没有权限打开 %1，请检查设备的访问权限。").arg(device);
            }
            const QString group = QString::fromStdString(facts.group);
            return TOpenFailure::tr(
                       "没有权限打开 %1：当前用户不在设备所属的 %2 组。"
                       "请执行 sudo usermod -aG %2 $USER，然后重新登录。")
                .arg(device, group);
        }
        case EBUSY:
            if (facts.holders.empty()) {
                return TOpenFailure::tr("%1 已被其他程序占用，请先关闭该程序。").arg(device);
            }
            return TOpenFailure::tr("%1 被进程 %2 (PID %3) 占用，请先关闭该程序。")
                .arg(device, QString::fromStdString(facts.holders.front().Name))
                .arg(facts.holders.front().Pid);
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return TOpenFailure::tr("找不到设备 %1：设备未连接或已拔出。").arg(device);
        case ENOTTY:
            return TOpenFailure::tr("%1 不是串口设备。").arg(device);
        case EIO:
            return TOpenFailure::tr("设备 %1 没有响应（输入/输出错误），请重新插拔设备。")
                .arg(device);
        default:
            return TOpenFailure::tr("打开 %1 时出错：%2（错误码 %3）。")
                .arg(device, QString::fromLocal8Bit(std::strerror(facts.error)))
                .arg(facts.error);
    }
}
