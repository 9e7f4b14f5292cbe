#pragma once

#include <string>

namespace prjsumsal {

// The report file of layout `codigo` ("" or "2" to "5"): "ctrsumsal" + codigo + ".rpt" in the
// folder of the report database, whose `Name` may carry the prefix
// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=". The folder is everything up to the last path
// separator ("/" or "\"), whatever the length of the database's file name; a name without a
// separator gives the bare file name.
std::string archivoInforme(const std::string& nombreBase, const std::string& codigo);

}  // namespace prjsumsal
