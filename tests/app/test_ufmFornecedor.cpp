#include "DadosFornecedor.h"
#include "app/uPrincipal.h"
#include "app/ufmFornecedor.h"
#include "components/vrtDBEdit.h"
#include "model/uTabelasCotacao.h"
#include "support/MensagemGravador.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestFornecedor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tabelas = std::make_unique<TTabelasCotacao>();
        m_tabelas->Abrir();
        m_dsForneced = std::make_unique<TDataSource>();
        m_dsForneced->SetDataSet(&m_tabelas->mmForneced);
        m_gravador = std::make_unique<MensagemGravador>();
        QSettings().clear();
    }

    void cleanup()
    {
        m_gravador.reset();
        m_dsForneced.reset();
        m_tabelas.reset();
    }

    void savedDetailsAreThereOnReopeningAndAfterAnotherFile()
    {
        {
            std::unique_ptr<TfmFornecedor> janela = Abrir();
            QCOMPARE(janela->objectName(), QStringLiteral("fmFornecedor"));
            QCOMPARE(janela->windowTitle(), QStringLiteral("Fornecedor"));
            QCOMPARE(Textos(*janela), QStringList(12, QString()));
            DigitarDetalhes(*janela);
            QTest::mouseClick(Botao(*janela, "btSalvar"), Qt::LeftButton);
            QVERIFY(!janela->isVisible());
            QCOMPARE(janela->result(), int(QDialog::Accepted));
        }
        TMemoryTable &mmForneced = m_tabelas->mmForneced;
        QCOMPARE(mmForneced.State(), dsBrowse);
        QCOMPARE(mmForneced.RecordCount(), 1);
        for (std::size_t i = 0; i < std::size(Edits); ++i) {
            QCOMPARE(mmForneced.FieldByName(QLatin1String(Edits[i].campo)).AsString(),
                QString::fromUtf8(Detalhes[i]));
        }

        m_tabelas->PrepararParaCarga();
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        QCOMPARE(Textos(*janela), Esperados());
        // The CPF/CNPJ of this window is not checked: nothing was said about it.
        QVERIFY(m_gravador->Mensagens().isEmpty());
    }

    void anUncheckedCpfCnpjIsKeptAsTyped()
    {
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        TVrtDBEdit *cpfCnpj = Edit(*janela, "edCPFCNPJ");
        cpfCnpj->setFocus();
        Teclar(cpfCnpj, QStringLiteral("111.111.111-1"));
        QTest::keyClick(cpfCnpj, Qt::Key_Tab);
        QVERIFY(m_gravador->Mensagens().isEmpty());
        QCOMPARE(QApplication::focusWidget(), Edit(*janela, "edEndereco"));
        QTest::mouseClick(Botao(*janela, "btSalvar"), Qt::LeftButton);
        QCOMPARE(m_tabelas->mmForneced.FieldByName(QStringLiteral("FORCPFCNPJ")).AsString(),
            QStringLiteral("111.111.111-1"));
    }

    void clearing_data()
    {
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("registrosAntes");
        QTest::newRow("empty table: nothing") << int(dsBrowse) << 0;
        QTest::newRow("saved record") << int(dsBrowse) << 1;
        QTest::newRow("record being edited") << int(dsEdit) << 1;
        QTest::newRow("record being typed") << int(dsInsert) << 0;
    }

    void clearing()
    {
        QFETCH(int, estado);
        QFETCH(int, registrosAntes);
        TMemoryTable &mmForneced = m_tabelas->mmForneced;
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        if (registrosAntes) {
            DigitarDetalhes(*janela);
            QTest::mouseClick(Botao(*janela, "btSalvar"), Qt::LeftButton);
            janela = Abrir();
        }
        if (estado == dsInsert)
            DigitarDetalhes(*janela);
        TVrtDBEdit *cidade = Edit(*janela, "edCidade");
        cidade->setFocus();
        if (estado == dsEdit)
            Teclar(cidade, QStringLiteral(" (MG)"));
        QCOMPARE(int(mmForneced.State()), estado);
        QCOMPARE(mmForneced.RecordCount(), registrosAntes);

        // By its letter, so that the focus stays in the edit.
        QTest::keyClick(janela.get(), Qt::Key_L, Qt::AltModifier);
        // A button's letter presses it and lets it go a moment later.
        QTRY_COMPARE(mmForneced.State(), dsBrowse);

        QTest::qWait(150);
        QVERIFY(janela->isVisible());
        QCOMPARE(mmForneced.RecordCount(), 0);
        QCOMPARE(Textos(*janela), QStringList(12, QString()));
        // Leaving the edit afterwards brings nothing typed back.
        QTest::keyClick(cidade, Qt::Key_Tab);
        QCOMPARE(mmForneced.State(), dsBrowse);
        QCOMPARE(mmForneced.RecordCount(), 0);
        QVERIFY(m_gravador->Mensagens().isEmpty());
    }

    void closingByTheTitleBarPostsNothing()
    {
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        DigitarDetalhes(*janela);
        janela->close();
        QCOMPARE(janela->result(), int(QDialog::Rejected));
        QCOMPARE(m_tabelas->mmForneced.State(), dsInsert);
    }

    void enterAndTabMoveThroughTheEditsInOrder_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
    }

    void enterAndTabMoveThroughTheEditsInOrder()
    {
        QFETCH(int, tecla);
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        Edit(*janela, Edits[0].edit)->setFocus();
        for (std::size_t i = 1; i < std::size(Edits); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(tecla));
            QCOMPARE(QApplication::focusWidget(), Edit(*janela, Edits[i].edit));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Botao(*janela, "btLimpar"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Botao(*janela, "btSalvar"));
        // Enter only moved on: it typed nothing and started no record.
        QCOMPARE(m_tabelas->mmForneced.State(), dsBrowse);
        QVERIFY(janela->isVisible());
    }

    void eachLabelLetterReachesItsEdit()
    {
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        for (const TEditEsperado &e : Edits) {
            QTest::keyClick(janela.get(), e.letra, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), Edit(*janela, e.edit));
        }
    }

    // Each label stands 16 pixels above its edit, at its left; when the window grows, the edits
    // anchored to both sides stretch, those anchored right move, the labels follow their edits
    // and the buttons keep to the bottom right corner. It cannot shrink below its layout.
    void growingTheWindow()
    {
        std::unique_ptr<TfmFornecedor> janela = Abrir();
        const auto rotuloDe = [&](TVrtDBEdit *edit) {
            for (QLabel *rotulo : janela->findChildren<QLabel *>()) {
                if (rotulo->buddy() == edit)
                    return rotulo;
            }
            return static_cast<QLabel *>(nullptr);
        };
        const auto rotulosJuntos = [&] {
            for (const TEditEsperado &e : Edits) {
                TVrtDBEdit *edit = Edit(*janela, e.edit);
                QLabel *rotulo = rotuloDe(edit);
                QVERIFY(rotulo);
                QCOMPARE(rotulo->pos(), edit->pos() - QPoint(0, 16));
            }
        };
        rotulosJuntos();
        QCOMPARE(Edit(*janela, "edRazaoSocial")->geometry(), QRect(8, 24, 616, 21));
        QCOMPARE(Edit(*janela, "edCidade")->geometry(), QRect(8, 184, 200, 21));
        QCOMPARE(Edit(*janela, "edEstado")->geometry(), QRect(216, 184, 200, 21));
        QCOMPARE(Botao(*janela, "btSalvar")->geometry(), QRect(548, 301, 75, 25));

        janela->resize(janela->width() + 100, janela->height() + 40);
        rotulosJuntos();
        QCOMPARE(Edit(*janela, "edRazaoSocial")->geometry(), QRect(8, 24, 716, 21));
        QCOMPARE(Edit(*janela, "edCPFCNPJ")->geometry(), QRect(8, 104, 220, 21));
        QCOMPARE(Edit(*janela, "edCidade")->geometry(), QRect(8, 184, 300, 21));
        QCOMPARE(Edit(*janela, "edEstado")->geometry(), QRect(316, 184, 200, 21));
        QCOMPARE(Edit(*janela, "edCep")->geometry(), QRect(524, 184, 200, 21));
        QCOMPARE(Edit(*janela, "edRepresentante")->geometry(), QRect(8, 264, 509, 21));
        QCOMPARE(Botao(*janela, "btLimpar")->geometry(), QRect(553, 341, 75, 25));
        QCOMPARE(Botao(*janela, "btSalvar")->geometry(), QRect(648, 341, 75, 25));

        janela->resize(300, 200);
        QCOMPARE(janela->size(), QSize(632, 336));
    }

    // The details outlive the main window: each step below runs in a main window of its own,
    // and the last window shows what the settings kept.
    void keptBetweenRuns_data()
    {
        QTest::addColumn<QStringList>("passos");
        QTest::addColumn<bool>("mantidos");
        QTest::newRow("saved") << QStringList {u"salvar"_s} << true;
        QTest::newRow("saved, then cleared") << QStringList {u"salvar"_s, u"limpar"_s} << false;
        QTest::newRow("closed without saving") << QStringList {u"fechar"_s} << false;
        QTest::newRow("saved, then changed without saving")
            << QStringList {u"salvar"_s, u"mudar"_s} << true;
    }

    void keptBetweenRuns()
    {
        QFETCH(QStringList, passos);
        QFETCH(bool, mantidos);
        for (const QString &passo : passos) {
            TfmCotacao principal;
            TDataSource dsForneced;
            dsForneced.SetDataSet(&principal.Tabelas().mmForneced);
            std::unique_ptr<TfmFornecedor> janela = Abrir(&dsForneced);
            if (passo == u"limpar"_s) {
                QTest::mouseClick(Botao(*janela, "btLimpar"), Qt::LeftButton);
            } else if (passo == u"mudar"_s) {
                TVrtDBEdit *cidade = Edit(*janela, "edCidade");
                cidade->setFocus();
                Teclar(cidade, QStringLiteral(" (MG)"));
            } else {
                DigitarDetalhes(*janela);
            }
            if (passo == u"salvar"_s)
                QTest::mouseClick(Botao(*janela, "btSalvar"), Qt::LeftButton);
            janela->close();
        }

        TfmCotacao principal;
        TDataSource dsForneced;
        dsForneced.SetDataSet(&principal.Tabelas().mmForneced);
        QCOMPARE(principal.Tabelas().mmForneced.RecordCount(), mantidos ? 1 : 0);
        std::unique_ptr<TfmFornecedor> janela = Abrir(&dsForneced);
        QCOMPARE(Textos(*janela), mantidos ? Esperados() : QStringList(12, QString()));
        QVERIFY(m_gravador->Mensagens().isEmpty());
    }

private:
    std::unique_ptr<TfmFornecedor> Abrir(TDataSource *dsForneced = nullptr)
    {
        auto janela = std::make_unique<TfmFornecedor>(dsForneced ? dsForneced : m_dsForneced.get());
        janela->show();
        janela->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(janela.get())); }();
        return janela;
    }

    static TVrtDBEdit *Edit(TfmFornecedor &janela, const char *nome)
    {
        return janela.findChild<TVrtDBEdit *>(QLatin1String(nome));
    }

    static QPushButton *Botao(TfmFornecedor &janela, const char *nome)
    {
        return janela.findChild<QPushButton *>(QLatin1String(nome));
    }

    static QStringList Textos(TfmFornecedor &janela)
    {
        QStringList textos;
        for (const TEditEsperado &e : Edits)
            textos.append(Edit(janela, e.edit)->text());
        return textos;
    }

    static QStringList Esperados()
    {
        QStringList textos;
        for (const char *detalhe : Detalhes)
            textos.append(QString::fromUtf8(detalhe));
        return textos;
    }

    std::unique_ptr<TTabelasCotacao> m_tabelas;
    std::unique_ptr<TDataSource> m_dsForneced;
    std::unique_ptr<MensagemGravador> m_gravador;
};

QTEST_MAIN(TestFornecedor)
#include "test_ufmFornecedor.moc"
