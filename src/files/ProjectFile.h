#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The ten customer information fields of an estimation. The wizard implements this over its
// edit fields; MemoryCustomerFields keeps them in memory (command-line program, tests).
class CustomerFields {
public:
    enum Field {
        PREPFOR,
        Titlefor,
        Companyfor,
        AddressFor,
        ZipFor,
        CountryFor,
        Telfor,
        Faxfor,
        EmailFor,
        PROJECTNAME
    };
    static constexpr int Count = 10;
    virtual ~CustomerFields();
    virtual QString text(Field field) const = 0;
    virtual void setText(Field field, const QString& text) = 0;
};

// The customer fields kept in memory: the command-line program and the tests use them, and they
// are the fields in use until the wizard installs its own.
class MemoryCustomerFields : public CustomerFields {
public:
    QString text(Field field) const override;
    void setText(Field field, const QString& text) override;
    // Empties all ten fields.
    void clear();

private:
    std::array<QString, Count> texts{};
};

// The customer fields in use (never null: a MemoryCustomerFields until another is installed).
CustomerFields& customerFields();
void setCustomerFields(CustomerFields* fields); // not owned; nullptr restores the default

enum class ParameterTableKind { Live, Shadow };
enum class ReadMode { CheckOnly = 0, Load = 1 };

// Writes the open project to a .KSF file. Returns true when it was written.
bool WriteProjectFile(const QString& fileName);
// Reads a .KSF file into the given table. Returns true when the whole file was read.
bool ReadProjectFile(const QString& fileName, ParameterTableKind table, ReadMode mode);
// The same reading of a project already held in memory (the bytes of a .KSF file); there is no
// file to open, read or close, everything else is reported and returned the same way.
bool ReadProjectData(const QByteArray& data, ParameterTableKind table, ReadMode mode);
