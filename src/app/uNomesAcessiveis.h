#pragma once

class QWidget;

// Screen readers, and tests from outside the program, find a control by its accessible name.
// Qt names a control by its own text or by the label whose buddy it is; this gives each other
// control of a window that can take the focus the name a sighted user reads around it: the
// title of the box it sits in (a grid in "Itens/Cotação"), or the name of the control it is a
// part of. Controls made later are not seen.
void NomearControles(QWidget &janela);
