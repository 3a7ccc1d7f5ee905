#pragma once

// Anchors for controls placed by pixel: each control keeps its distance from the edges of its
// container that it is anchored to. Anchored left and right it stretches with the container,
// anchored right only it moves with the right edge; likewise top and bottom.

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAnchors)

class TAncoragem : public QObject
{
public:
    // The container's present size is the one its controls were placed for.
    explicit TAncoragem(QWidget &conteiner);

    // Anchors a child of the container by its present geometry.
    void Ancorar(QWidget &controle, TAnchors ancoras);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    struct TControleAncorado
    {
        QPointer<QWidget> controle;
        QRect desenho;
        TAnchors ancoras;
    };

    void Reposicionar(const QSize &tamanho) const;

    QSize m_desenho;
    std::vector<TControleAncorado> m_controles;
};
