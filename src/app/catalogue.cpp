#include "catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string>

namespace kinoval::app {

namespace {

// Every text of the catalogue stands in one context: a French text is its own key wherever it appears.
constexpr const char* kContext = "Kinoval";

QTranslator* g_program = nullptr;

std::string Translate(std::string_view french, std::string_view meaning)
{
    const std::string key(french);
    const std::string sense(meaning);
    const QString english = g_program->translate(kContext, key.c_str(), sense.empty() ? nullptr : sense.c_str());
    return english.isEmpty() ? std::string() : english.toStdString();
}

} // namespace

bool InstallLanguage(TLanguage language, bool withQtTexts)
{
    bool ok = true;
    if (withQtTexts) {
        // Qt speaks English by itself; its French comes from qtbase_fr.
        static QTranslator qtTexts;
        if (language == TLanguage::French
            && qtTexts.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qtTexts);
    }
    if (language == TLanguage::English) {
        static QTranslator program;
        if (program.load(QStringLiteral(":/translations/kinoval_en.qm"))) {
            g_program = &program;
            SetTranslator(&Translate);
        } else {
            ok = false;
            language = TLanguage::French;
        }
    }
    SetCurrentLanguage(language);
    return ok;
}

} // namespace kinoval::app
