#include "widgets/user_message.h"

#include "core/program_info.h"

#include <QMessageBox>

namespace dewmoth::widgets {

void tellUser(QWidget *owner, const QString &text)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, core::productName(), text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QString linkNotOpenedText(const QString &address)
{
    return QObject::tr("%1 could not be opened: nothing on this computer opens web addresses.")
        .arg(address);
}

} // namespace dewmoth::widgets
