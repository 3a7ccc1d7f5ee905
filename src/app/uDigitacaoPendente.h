#pragma once

// What the supplier typed into a control and has not left yet: a command that saves or closes
// takes it through the road that leaving the control takes, so the control writes it into its
// field and runs its checks (a price's maximum, the CPF/CNPJ) before the command goes on.

class QWidget;

// Leaves the control of the window that holds the focus, as a click elsewhere in the window
// would, and gives the focus back to it. False when the control refused to be left (its check
// said why): the focus stays in it and the command must stop.
bool ConfirmarDigitacao(QWidget &janela);
