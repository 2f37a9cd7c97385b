#pragma once

#include <QString>

// A text of the string table for a static control: the table keeps the line
// breaks of the original texts ("\r", "\r\n"), which a label shows as "\n".
QString DialogText(int id);
