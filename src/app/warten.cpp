#include "app/warten.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "app/ikonen.h"

Twartenfenster* wartenfenster = nullptr;

namespace {
QLabel* beschriftung(QWidget* eltern, const char* name, const QString& text)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(QLatin1String(name));
    return l;
}
}  // namespace

Twartenfenster::Twartenfenster(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Twartenfenster"));
    setFixedSize(677, 213);
    // Teal, set on the window itself so that the application's style sheet does not cover it.
    setStyleSheet(QStringLiteral(
        "#Twartenfenster { background: rgb(0, 128, 128); border: 2px solid rgb(0, 90, 90); }"
        "#Twartenfenster QLabel { color: white; background: transparent; border: none; }"
        "#Twartenfenster QLabel#Label4, #Twartenfenster QLabel#Label5 { color: rgb(255, 40, 40); }"
        "#Edit1 { color: rgb(255, 40, 40); background: white; border: 1px solid rgb(0, 90, 90); }"));
    setAttribute(Qt::WA_StyledBackground);

    Image1 = beschriftung(this, "Image1", QString());
    Image1->setPixmap(zembrolaBild(32));
    Image1->setGeometry(16, 14, 32, 32);

    QFont gross(QStringLiteral("Arial"));
    gross.setPixelSize(30);
    gross.setBold(true);
    Label4 = beschriftung(this, "Label4", QStringLiteral("Zembrola"));
    Label4->setFont(gross);
    Label4->setGeometry(60, 8, 200, 40);
    Label5 = beschriftung(this, "Label5", QStringLiteral("3.1"));
    Label5->setFont(gross);
    Label5->setGeometry(250, 8, 80, 40);

    QFont fett(QStringLiteral("Arial"));
    fett.setPixelSize(16);
    fett.setBold(true);
    Label1 = beschriftung(this, "Label1", QString());
    Label1->setFont(fett);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(10, 58, 657, 24);
    Label2 = beschriftung(this, "Label2", QString());
    Label2->setFont(fett);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(10, 84, 657, 24);

    QFont unterstrichen = fett;
    unterstrichen.setUnderline(true);
    Label3 = beschriftung(this, "Label3", QStringLiteral("gefundeneEinträge:"));
    Label3->setFont(unterstrichen);
    Label3->setGeometry(150, 122, 170, 30);

    QFont ziffern(QStringLiteral("Arial"));
    ziffern.setPixelSize(20);
    ziffern.setBold(true);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(ziffern);
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit1->setGeometry(330, 120, 190, 32);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(16, 176, 504, 18);

    BitBtn1 = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(540, 168, 120, 32);
    connect(BitBtn1, &QPushButton::clicked, this, &Twartenfenster::BitBtn1Click);

    Label3->hide();
    Edit1->hide();
    BitBtn1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &Twartenfenster::Timer1Timer);
    Timer1->start();
}

void Twartenfenster::zaehlerZeigen()
{
    Label3->show();
    Edit1->show();
    BitBtn1->show();
}

void Twartenfenster::BitBtn1Click()
{
    abbruch = true;
    close();
}

void Twartenfenster::Timer1Timer()
{
    // Shows activity, not progress: the bar fills in five seconds and starts over.
    if (ProgressBar1->value() >= 100)
        ProgressBar1->setValue(0);
    else
        ProgressBar1->setValue(ProgressBar1->value() + 1);
}

void Twartenfenster::FormShow()
{
    ProgressBar1->setValue(0);
    if (QScreen* bildschirm = screen()) {
        const QRect r = bildschirm->availableGeometry();
        move(r.center() - rect().center());
    }
}

void Twartenfenster::FormClose()
{
    // The next caller starts without counter and abort button.
    Label3->hide();
    Edit1->hide();
    BitBtn1->hide();
}

void Twartenfenster::zeigenUndMalen(const QString& zeile1, const QString& zeile2)
{
    Label1->setText(zeile1);
    Label2->setText(zeile2);
    show();
    raise();
    QElapsedTimer uhr;
    uhr.start();
    while (windowHandle() && !windowHandle()->isExposed() && uhr.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    repaint();
}

void Twartenfenster::showEvent(QShowEvent* ereignis)
{
    if (!ereignis->spontaneous())
        FormShow();
    QWidget::showEvent(ereignis);
}

void Twartenfenster::closeEvent(QCloseEvent* ereignis)
{
    FormClose();
    QWidget::closeEvent(ereignis);
}
