#pragma once

class QMessageBox;

// Shows a message box of the show's start-up until it is answered or a signal asks the
// program to end: a daemon or the session that ends the show will not press OK. With
// KESTROVA_ECHO_MESSAGES=1 its title and text go to standard error as well.
void ExecStartMessage(QMessageBox& box);
