#include "app/laufwerksauswahl.h"

#include <QSignalBlocker>
#include <QStyle>

#include "platform/plattform.h"

TDriveComboBox::TDriveComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) {
        emit laufwerkGewaehlt(itemData(index).toChar());
    });
}

void TDriveComboBox::fuellen()
{
    const QChar vorher = laufwerk();
    const QSignalBlocker sperre(this);
    clear();
    plattform::Laufwerke& lw = plattform::laufwerke();
    const quint32 maske = lw.logischeLaufwerke();
    for (int i = 0; i < 26; ++i) {
        if (!(maske & (1u << i)))
            continue;
        const QChar buchstabe(u'A' + i);
        const QString wurzel = lw.wurzel(buchstabe);
        const QString bezeichnung = lw.volumeninformation(wurzel).value_or(QString());
        QString text = QStringLiteral("%1:  %2").arg(buchstabe, wurzel);
        if (!bezeichnung.isEmpty())
            text += QStringLiteral("  [%1]").arg(bezeichnung);
        const plattform::Laufwerksart art = lw.laufwerkstyp(buchstabe);
        const QStyle::StandardPixmap bild = art == plattform::dtNetzwerk     ? QStyle::SP_DriveNetIcon
                                            : art == plattform::dtCdrom      ? QStyle::SP_DriveCDIcon
                                            : art == plattform::dtWechselmedium ? QStyle::SP_DriveFDIcon
                                                                                 : QStyle::SP_DriveHDIcon;
        addItem(style()->standardIcon(bild), text, buchstabe);
    }
    if (!vorher.isNull())
        setzeLaufwerk(vorher);
}

QChar TDriveComboBox::laufwerk() const
{
    return currentIndex() < 0 ? QChar() : currentData().toChar();
}

bool TDriveComboBox::setzeLaufwerk(QChar buchstabe)
{
    const int index = findData(buchstabe);
    if (index < 0)
        return false;
    const QSignalBlocker sperre(this);
    setCurrentIndex(index);
    return true;
}
