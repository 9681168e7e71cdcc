#include "search/AnswerParsing.h"

#include <pugixml.hpp>

namespace {

// The text of a node as a whole: its own text, or all the text below it for an element.
void AppendText(const pugi::xml_node& node, QByteArray& out)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        out += node.value();
        return;
    }
    for (const pugi::xml_node& child : node.children())
        AppendText(child, out);
}

QString NodeText(const pugi::xml_node& node)
{
    QByteArray text;
    AppendText(node, text);
    return QString::fromUtf8(text);
}

bool CarriesText(const pugi::xml_node& node)
{
    return node.type() == pugi::node_element || node.type() == pugi::node_pcdata ||
           node.type() == pugi::node_cdata;
}

// Loads the answer; on failure sets *error to the parser's reason.
bool LoadAnswer(pugi::xml_document& document, const QByteArray& answer, QString* error)
{
    error->clear();
    const pugi::xml_parse_result result = document.load_buffer(answer.constData(), size_t(answer.size()));
    if (result)
        return true;
    *error = QStringLiteral("%1 (posizione %2)").arg(QString::fromUtf8(result.description())).arg(result.offset);
    return false;
}

}  // namespace

std::vector<IndexRecord> ParseIndexAnswer(const QByteArray& answer, QString* error)
{
    pugi::xml_document document;
    if (!LoadAnswer(document, answer, error))
        return {};
    std::vector<IndexRecord> records;
    for (const pugi::xpath_node& selected : document.select_nodes("//*/indice")) {
        IndexRecord record;
        for (const pugi::xml_node& child : selected.node().children()) {
            const std::string_view name = child.name();
            if (name == "nome")
                record.nome = NodeText(child);
            else if (name == "dborigine")
                record.dborigine = NodeText(child);
            else if (name == "id_db_origine")
                record.idDbOrigine = NodeText(child);
        }
        records.push_back(std::move(record));
    }
    return records;
}

QStringList ParseDetailAnswer(const QByteArray& answer, QString* error)
{
    pugi::xml_document document;
    if (!LoadAnswer(document, answer, error))
        return {};
    QStringList lines;
    for (const pugi::xpath_node& selected : document.select_nodes("//*/cerca_dettaglioResult")) {
        for (const pugi::xml_node& child : selected.node().children()) {
            if (CarriesText(child))
                lines << NodeText(child);
        }
    }
    return lines;
}
