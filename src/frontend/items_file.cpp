#include "frontend/items_file.h"

#include "frontend/geo_code.h"
#include "frontend/text_file.h"

namespace frontend {

TItemList ReadItemsFile(const std::string& AFileName) {
  TTextReader reader(AFileName);
  TItemList list;
  do {
    std::string line = reader.ReadLine();
    list.Items += line.substr(0, line.find(' '));
    list.Items += ',';
    list.Labels.emplace_back(FieldAt(line, 12, 10));
  } while (!reader.Eof());
  reader.Close();
  list.Items.pop_back();
  return list;
}

}  // namespace frontend
