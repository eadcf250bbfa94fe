#pragma once
#include <QWidget>

#include "output/fenster/einstellunganwenden.h"

class QPlainTextEdit;

class TSystemausgabe : public QWidget, public Einstellungsempfaenger {
    Q_OBJECT
public:
    explicit TSystemausgabe(QWidget* parent = nullptr);

    // The report's text area; the settings file sets its colours and font.
    QPlainTextEdit* Memo1;

    // Colours and font of the report tab of the settings.
    void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const TOptionsfenster& dialog) override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void tabstopsSetzen();
};

extern TSystemausgabe* Systemausgabe;
