#include "console/PortOpenFailure.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include "serial/Comm.h"

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
                return QCoreApplication::translate("TOpenFailure",
                                                   "没有权限打开 %1，请检查设备的访问权限。")
                    .arg(device);
            }
            const QString group = QString::fromStdString(facts.group);
            return QCoreApplication::translate("TOpenFailure",
                                               "没有权限打开 %1：当前用户不在设备所属的 %2 组。"
                                               "请执行 sudo usermod -aG %2 $USER，然后重新登录。")
                .arg(device, group);
        }
        case EBUSY:
            if (facts.holders.empty()) {
                return QCoreApplication::translate("TOpenFailure",
                                                   "%1 已被其他程序占用，请先关闭该程序。")
                    .arg(device);
            }
            return QCoreApplication::translate("TOpenFailure",
                                               "%1 被进程 %2 (PID %3) 占用，请先关闭该程序。")
                .arg(device, QString::fromStdString(facts.holders.front().Name))
                .arg(facts.holders.front().Pid);
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return QCoreApplication::translate("TOpenFailure",
                                               "找不到设备 %1：设备未连接或已拔出。")
                .arg(device);
        case ENOTTY:
            return QCoreApplication::translate("TOpenFailure", "%1 不是串口设备。").arg(device);
        case EIO:
            return QCoreApplication::translate(
                       "TOpenFailure", "设备 %1 没有响应（输入/输出错误），请重新插拔设备。")
                .arg(device);
        default:
            return QCoreApplication::translate("TOpenFailure", "打开 %1 时出错：%2（错误码 %3）。")
                .arg(device, QString::fromLocal8Bit(std::strerror(facts.error)))
                .arg(facts.error);
    }
}
