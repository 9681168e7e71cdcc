#pragma once
// The one error type that rises from our routines to the handler that reports it.
// It carries what a message box shows: a number, the component that failed and its description.

#include <QString>
#include <stdexcept>

enum class ErrorKind {
    General,       // shown as "Errore KIVO Dichiarazioni num. ..." at start-up
    AccessDenied,  // a path or file could not be created or written ("Esegui come Amministratore")
    Transport,     // the search service could not be reached or did not answer in time
};

struct KivoError : std::runtime_error {
    KivoError(int number, QString description, QString source = {}, ErrorKind kind = ErrorKind::General)
        : std::runtime_error(description.toStdString()),
          number(number), description(std::move(description)), source(std::move(source)), kind(kind) {}

    int number;
    QString description;
    QString source;
    ErrorKind kind;
};

// Error numbers of our own components, in the spirit of the run-time errors users know.
namespace ErrorNumber {
constexpr int PathNotFound = 76;
constexpr int PermissionDenied = 70;
constexpr int FileNotFound = 53;
constexpr int DatabaseOpen = 3044;
constexpr int DatabaseStatement = 3000;
constexpr int Transport = 440;
constexpr int Report = 5000;
constexpr int InvalidProcedureCall = 5;  // a value a routine cannot work with
}
