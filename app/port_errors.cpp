#include "app/port_errors.h"

#include "app/Corvane.h"
#include "dialogs/PortSettings.h"
#include "storage/tables.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

bool inGroup(gid_t group) {
    if (getegid() == group)
        return true;
    std::vector<gid_t> groups(static_cast<size_t>(getgroups(0, nullptr)) + 1);
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < count; ++i)
        if (groups[static_cast<size_t>(i)] == group)
            return true;
    return false;
}

// A user added to a group keeps the groups of the login until the next one.
bool listedIn(const group& entry) {
    const passwd* user = getpwuid(geteuid());
    if (!user)
        return false;
    for (char** member = entry.gr_mem; member && *member; ++member)
        if (std::strcmp(*member, user->pw_name) == 0)
            return true;
    return false;
}

QString permissionAdvice(const struct stat& device) {
    const group* owner = getgrgid(device.st_gid);
    if (owner && !inGroup(device.st_gid)) {
        const QString name = QString::fromLocal8Bit(owner->gr_name);
        if (listedIn(*owner))
            return QString("you were added to the %1 group after logging in: log out and back in").arg(name);
        return QString("your user is not in the %1 group. Add it with \"sudo usermod -aG %1 $USER\", "
                       "then log out and back in")
            .arg(name);
    }
    return QString("its permissions (%1) do not let you read and write it")
        .arg(device.st_mode & 07777, 4, 8, QChar('0'));
}

// The programs that have the device open, as "name (pid N)"; those of other users stay hidden.
QStringList holdersOf(const QString& path) {
    const QByteArray device = QFileInfo(path).canonicalFilePath().toLocal8Bit();
    QStringList holders;
    QDirIterator processes("/proc", QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        const QString process = processes.next();
        bool isProcess = false;
        const int pid = processes.fileName().toInt(&isProcess);
        if (!isProcess)
            continue;
        QDirIterator files(process + "/fd", QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        while (files.hasNext()) {
            char target[4096];
            const ssize_t length =
                ::readlink(QFile::encodeName(files.next()).constData(), target, sizeof target);
            if (length == device.size() && device == QByteArray(target, static_cast<int>(length))) {
                QFile name(process + "/comm");
                name.open(QIODevice::ReadOnly);
                holders
                    << QString("%1 (pid %2)").arg(QString::fromLocal8Bit(name.readAll()).trimmed()).arg(pid);
                break;
            }
        }
    }
    return holders;
}

} // namespace

QString PortOpenFailure(const QString& path, QSerialPort::SerialPortError error, const QString& errorText) {
    const QString failed = "Failed to initialize the com port! ";
    const QByteArray file = path.toLocal8Bit();
    struct stat device {};
    // stat follows links: a name under /dev/serial/by-id whose adapter is gone does not exist either.
    if (error == QSerialPort::DeviceNotFoundError || ::stat(file.constData(), &device) != 0)
        return failed + QString("%1 does not exist: the radio's USB cable is unplugged or its adapter has "
                                "another name now. Plug it in, or choose its stable name under "
                                "/dev/serial/by-id.")
                            .arg(path);
    if (::faccessat(AT_FDCWD, file.constData(), R_OK | W_OK, AT_EACCESS) != 0)
        return failed + QString("No permission to use %1: %2.").arg(path, permissionAdvice(device));
    // This user may use it, yet it would not open: another program has it open for itself.
    if (error == QSerialPort::PermissionError) {
        const QStringList holders = holdersOf(path);
        if (!holders.isEmpty())
            return failed + QString("%1 is busy: %2 holds it. Close that program, or choose another port.")
                                .arg(path, holders.join(", "));
        return failed + QString("%1 is busy: another program holds it (a logger, a digital mode program or a "
                                "second Corvane). Close that program, or choose another port.")
                            .arg(path);
    }
    return failed + QString("%1: %2.").arg(path, errorText);
}

void Corvane::showPortFailure(const QString& path, const QSerialPort& port) {
    statusBar()->showMessage(PortOpenFailure(path, port.error(), port.errorString()));
}

// The port did not open at start: the port dialog comes once more, with the reason above it,
// to choose another one. Cancel starts the window without a port.
void Corvane::offerAnotherPort() {
    showPortFailure(portPath, *serialPort);
    PortSettings dialog;
    auto* reason = new QLabel(statusBar()->currentMessage(), &dialog);
    reason->setObjectName("portFailure");
    reason->setWordWrap(true);
    // The fix is a command to type: let it be copied.
    reason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int margin = 10;
    const int width = dialog.width() - 2 * margin;
    const int height = reason->heightForWidth(width);
    for (QWidget* child : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != reason)
            child->move(child->x(), child->y() + height + margin);
    reason->setGeometry(margin, margin, width, height);
    dialog.resize(dialog.width(), dialog.height() + height + margin);
    dialog.ui.comboBox->setCurrentText(portPath);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.selectedPortName();
    const int baudRate = dialog.selectedBaudRate();
    if (!switchSerialPort(name, baudRate))
        return;
    if (database)
        Storage::StorePort(database, name.toStdString(), baudRate);
    showStartStatus();
}
