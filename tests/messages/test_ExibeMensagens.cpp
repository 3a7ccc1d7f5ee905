#include "messages/ExibeMensagens.h"
#include "support/MensagemGravador.h"

#include <gtest/gtest.h>

TEST(ExibeMensagens, DetailedCallPassesEverythingAndCutsTheTitle)
{
    MensagemGravador gravador({mrYes});
    const QString tituloLongo(60, QLatin1Char('x'));

    const int resultado = ExibeMensagemDetalhada(tmErro, tituloLongo, QStringLiteral("texto"),
        bmSim | bmNao, QStringLiteral("detalhes"), true);

    EXPECT_EQ(resultado, mrYes);
    ASSERT_EQ(gravador.Mensagens().size(), 1);
    const TMensagem &m = gravador.Mensagens().first();
    EXPECT_EQ(m.Tipo, tmErro);
    EXPECT_EQ(m.Titulo, QString(50, QLatin1Char('x')));
    EXPECT_EQ(m.Texto, QStringLiteral("texto"));
    EXPECT_EQ(m.Botoes, bmSim | bmNao);
    EXPECT_EQ(m.Detalhes, QStringLiteral("detalhes"));
    EXPECT_TRUE(m.DetalhesAbertos);
    EXPECT_TRUE(m.TestaManutencao);
}

TEST(ExibeMensagens, PlainMessageHasNoDetailsAndNoMaintenanceTest)
{
    MensagemGravador gravador({mrNo});

    EXPECT_EQ(ExibeMensagem(tmPergunta, QStringLiteral("Atenção"), QStringLiteral("Continua?"),
                  bmSim | bmNao),
        mrNo);
    const TMensagem &m = gravador.Mensagens().first();
    EXPECT_TRUE(m.Detalhes.isEmpty());
    EXPECT_FALSE(m.DetalhesAbertos);
    EXPECT_FALSE(m.TestaManutencao);
}

TEST(ExibeMensagens, InformationAndNoticeUseTheirFixedKindTitleAndButton)
{
    MensagemGravador gravador;

    ExibeInformacao(QStringLiteral("info"), bmContinuar, QStringLiteral("porque"));
    ExibeAviso(QStringLiteral("Arquivo salvo com sucesso."));

    ASSERT_EQ(gravador.Mensagens().size(), 2);
    for (const TMensagem &m : gravador.Mensagens()) {
        EXPECT_EQ(m.Tipo, tmInformacao);
        EXPECT_EQ(m.Titulo, QStringLiteral("Atenção"));
        EXPECT_EQ(m.Botoes, TBotoesMensagem(bmContinuar));
        EXPECT_FALSE(m.DetalhesAbertos);
    }
    EXPECT_EQ(gravador.Mensagens()[0].Detalhes, QStringLiteral("porque"));
    EXPECT_TRUE(gravador.Mensagens()[1].Detalhes.isEmpty());
}

TEST(ExibeMensagens, ButtonsGiveTheStandardModalResults)
{
    EXPECT_EQ(ResultadoDoBotao(bmSim), 6);
    EXPECT_EQ(ResultadoDoBotao(bmNao), 7);
    EXPECT_EQ(ResultadoDoBotao(bmCancelar), 2);
    EXPECT_EQ(ResultadoDoBotao(bmContinuar), 1);
    EXPECT_EQ(ResultadoDoBotao(bmTodos), 8);
    EXPECT_EQ(ResultadoDoBotao(bmRepetir), 4);
}

TEST(ExibeMensagens, RecorderRestoresThePreviousPresenter)
{
    MensagemGravador externo({mrCancel});
    {
        MensagemGravador interno({mrYes});
        EXPECT_EQ(ExibeMensagem(tmErro, QString(), QString(), bmSim), mrYes);
    }
    EXPECT_EQ(ExibeMensagem(tmErro, QString(), QString(), bmCancelar), mrCancel);
    EXPECT_EQ(externo.Mensagens().size(), 1);
}
