#pragma once

// The find bar over the item grid: a field labelled "Localizar:" where Enter and F3 find the
// next item, Shift+F3 the previous one, and Escape closes the bar. What a text matches, and
// going there, is the window's; the bar only asks and says when nothing was found.

#include <QWidget>

class QLabel;
class QLineEdit;

class TBarraLocalizar : public QWidget
{
    Q_OBJECT

public:
    explicit TBarraLocalizar(QWidget *parent = nullptr);

    // Shows the bar with its text selected, ready for a new search.
    void Abrir();
    QString Texto() const;
    // Says whether the last search found an item.
    void Resultado(bool achou);

Q_SIGNALS:
    void procurar(const QString &texto, bool paraTras);
    void fechada();

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    void Procurar(bool paraTras);
    void Fechar();

    QLineEdit *m_texto;
    QLabel *m_resultado;
};
