// The plot's files: configuration, annotations, data and the data log.
#include <fstream>
#include <stdexcept>

#include "gdi/FileBytes.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotChannelsData.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotConfigFile.h"

namespace {

// Runs `action`; any failure is raised again behind `context`.
template <class Action>
void WithContext(const char* context, Action&& action) {
    try {
        action();
    } catch (const std::exception& error) {
        throw std::runtime_error(std::string(context) + error.what());
    }
}

}  // namespace

void TiPlotComponent::Raise(const TiPlotNotifyEvent& event) {
    if (event && EventsAllowed())
        event();
}

void TiPlotComponent::SaveProperties(const std::string& fileName) {
    WithContext("Error Saving Properties - ",
                [&] { WriteTextLines(fileName, PlotConfigLines(*this)); });
    propertiesFileName_ = fileName;
    Raise(OnAfterSaveProperties);
}

void TiPlotComponent::LoadProperties(const std::string& fileName) {
    WithContext("Error Loading Properties - ", [&] {
        Raise(OnBeforeLoadProperties);
        LoadPlotConfig(*this, ReadTextLines(fileName));
    });
    propertiesFileName_ = fileName;
    Raise(OnAfterLoadProperties);
}

void TiPlotComponent::ForEachSavedObject(
    const std::function<void(TiPersistent&, const std::string&)>& visit) {
    ForEachPlotObject(*this, visit);
}

void TiPlotComponent::SaveAnnotationsToFile(const std::string& fileName) {
    WithContext("Error Saving Annotations - ",
                [&] { WriteTextLines(fileName, AnnotationLines(*this)); });
}

void TiPlotComponent::LoadAnnotationsFromFile(const std::string& fileName) {
    WithContext("Error Loading Annotations - ",
                [&] { LoadAnnotations(*this, ReadTextLines(fileName)); });
}

void TiPlotComponent::SaveDataToFile(const std::string& fileName) {
    WithContext("Error Saving Data - ", [&] {
        const TiPlotChannelsSource source(*this);
        TFileWriter file(fileName);
        const TDataFileOutput output = [&file](std::string_view block) { file.Write(block); };
        if (dataFileFormat_ == ipdffCompactInterval)
            WriteCompactDataFile(source, output);
        else
            WriteTextDataFile(source, DataFileSeparatorChar(), UserDecimalSeparator(), output);
        file.Close();
    });
    dataFileName_ = fileName;
    Raise(OnAfterSaveData);
}

void TiPlotComponent::LoadDataFromFile(const std::string& fileName) {
    WithContext("Error Loading Data - ", [&] {
        TiUpdateBatch batch(*this);
        TiPlotChannelsSink sink(*this);
        std::ifstream file(fileName, std::ios::binary);
        if (!file)
            throw std::runtime_error("Cannot open file \"" + fileName + "\"");
        ReadDataFile(file, sink, UserDecimalSeparator());
    });
    dataFileName_ = fileName;
    Raise(OnAfterLoadData);
}

// ------------------------------------------------------------------ data log

TiDataLogForm TiPlotComponent::LogForm() const {
    return {dataFileFormat_ == ipdffCompactInterval, DataFileSeparatorChar(),
            UserDecimalSeparator()};
}

void TiPlotComponent::CheckLogInactive(const char* message) const {
    if (dataLog_.Active())
        throw std::runtime_error(message);
}

void TiPlotComponent::SetLogFileName(const std::string& value) {
    if (value == logFileName_)
        return;
    CheckLogInactive("Log File Name can not be changed while logging is active.");
    logFileName_ = value;
}

void TiPlotComponent::SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator value) {
    if (value == columnSeparator_)
        return;
    CheckLogInactive("Data File Column Seperator can not be changed while logging active");
    columnSeparator_ = value;
}

void TiPlotComponent::SetDataFileFormat(TiPlotDataFileFormat value) {
    if (value == dataFileFormat_)
        return;
    CheckLogInactive("Data File Format can not be changed while logging active");
    dataFileFormat_ = value;
}

void TiPlotComponent::LogActivate(bool append) {
    dataLog_.Activate(logFileName_, append, TiPlotChannelsSource(*this), LogForm());
}

void TiPlotComponent::LogDeactivate() {
    logTimer_.stop();
    dataLog_.Deactivate(TiPlotChannelsSource(*this));
}

void TiPlotComponent::LogPointAdded(const TiPlotChannelCustom& channel) {
    if (ChannelCount() == 0 || Channel(0) != &channel)
        return;
    dataLog_.RowAdded();
    // The other channels get their points of this row in the same turn.
    if (!logTimer_.isActive())
        logTimer_.start(0);
}

void TiPlotComponent::WritePendingLogRows() {
    try {
        dataLog_.WritePending(TiPlotChannelsSource(*this));
    } catch (const std::exception&) {
        // Nobody is there to tell from a timer: a log that can no longer be
        // written stops, and LoggingActive says so.
        dataLog_.Deactivate(TiPlotChannelsSource(*this));
    }
}

void TiPlotComponent::ClearAllData() {
    if (dataLog_.Active())
        LogDeactivate();
    master_->ClearAllData();
}
