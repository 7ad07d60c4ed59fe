#pragma once
// The designer opens from the main window's print bar ("Tvorba sestavy",
// "Nová sestava") through the report library's designer hand-off; its
// report settings build their SQL in the application's query builder.

#include <QString>
#include <functional>

#include "report/designer/designer_launcher.h"

namespace dorvana {

class Messages;

// The query builder for "Vytvoř SQL": the builder dialog over the folder
// dataDir() gives, with the report directory's "SqlBuild.stm" (the
// template's own query file while the builder runs) loaded when it exists,
// else the settings' SQL text. OK saves the query to that file and hands
// back its text; Cancel hands back nothing. Errors go to messages (message
// boxes when null).
DesignerQueryBuilder templateQueryBuilder(std::function<QString()> dataDir,
                                          Messages* messages = nullptr);

// The designer's services for the program: the program's printer and the
// query builder over dataDir.
DesignerServices programDesignerServices(const QString& dataDir);

}  // namespace dorvana
