// The project open in the host, as the framework sees it: its databases (library parts, 3D model,
// floor plan, attributes and the view lists), its package store, its shared-project users, and
// cached questions to the host's environment. Made once by Host::getProject and reset, not
// replaced, when the host closes or switches projects.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <tuple>

#include "Environment/Containers.h"
#include "Environment/Guid.h"
#include "Environment/MemoryBlock.h"
#include "Environment/NonCopyable.h"
#include "Environment/String.h"
#include "Environment/User.h"
#include "platform/api/ElementRecords.h"
#include "platform/api/ProjectRecords.h"

namespace tarnwick {

class City;
class DataFile;
class Database;
class DatabaseRef;
class Detail;
class DetailList;
class Document3D;
class Document3DList;
class Drawing;
class ElementLink;
class ElementLinkList;
class Elevation;
class ElevationList;
class InteriorElevation;
class InteriorElevationList;
class Layer;
class LayerCombination;
class LayerMap;
class Layout;
class LayoutList;
class Library;
class Model;
class Navigator;
class Package;
class PackageStore;
class Plan;
class Section;
class SectionList;
class Specification;
class Worksheet;
class WorksheetList;

class Project : NonCopyable {
public:
    using User = tarnwick::User;
    using UserList = Vector<User>;

    Project();
    virtual ~Project();

    // The host closed or switched projects: the databases forget what they keep, the lazily made
    // members and the caches go. The packages are not touched; the add-on loads them afresh for
    // each project.
    void reset();
    // Pools of a higher layer that outlive no project: released by every reset.
    static void setResetHook(void (*hook)());

    // --- Databases.
    Library* getLibrary() const { return m_library; }
    Model* getModel() const { return m_model.get(); }
    Plan* getPlan() const { return m_plan.get(); }
    Specification* getSpecification() const { return m_specification.get(); }
    // The drawing a reference names; null for kinds without one or an unknown Guid.
    Drawing* getDrawing(const DatabaseRef& ref);
    // The host's current database and front window, asked once and kept.
    Drawing* getCurrentDatabase();
    Drawing* getFrontWindow();
    // True when done, or when the drawing already is the one kept (no host call then).
    [[nodiscard]] bool setCurrentDatabase(Drawing* drawing);
    [[nodiscard]] bool setFrontWindow(Drawing* drawing);

    // --- The view lists, loaded on first use; getK answers null for an index out of range.
    size_t getDetailCount();
    Detail* getDetail(int32_t index);
    Detail* findDetail(const Guid& guid);
    size_t getDocument3DCount();
    Document3D* getDocument3D(int32_t index);
    Document3D* findDocument3D(const Guid& guid);
    size_t getElevationCount();
    Elevation* getElevation(int32_t index);
    Elevation* findElevation(const Guid& guid);
    size_t getInteriorElevationCount();
    InteriorElevation* getInteriorElevation(int32_t index);
    InteriorElevation* findInteriorElevation(const Guid& guid);
    // Layouts and master layouts alike.
    size_t getLayoutCount();
    Layout* getLayout(int32_t index);
    Layout* findLayout(const Guid& guid);
    size_t getSectionCount();
    Section* getSection(int32_t index);
    Section* findSection(const Guid& guid);
    size_t getWorksheetCount();
    Worksheet* getWorksheet(int32_t index);
    Worksheet* findWorksheet(const Guid& guid);

    // --- Making and deleting views. Each new view is stored in its list in place of any object
    // the list already made for it; null when the host makes none.
    // A layout on the master (none when the reference names none), its sheet named layoutText
    // when that is not empty.
    Layout* createLayout(const String& name, const DatabaseRef& master, const String& layoutText);
    Worksheet* createWorksheet(const String& name, const String& reference);
    // The list keeps the deleted layout's entry, whose calls then fail, until resetLayoutList.
    [[nodiscard]] bool deleteLayout(const Guid& guid);
    // The layouts are listed afresh on next use.
    void resetLayoutList();
    // Made on first request; the project owns it.
    Navigator* getNavigator();

    // --- Packages.
    // The package with that code, or null.
    Package* getPackage(uint32_t code) const;
    // Stores a copy, replacing the package of the same code; with notify, publishes a
    // ProjectEvent PackagesChanged with the code.
    void setPackage(const Package& package, bool notify);
    // Stores the package itself (the project owns it).
    void adoptPackage(Package* package, bool notify);
    // Resets every package except those that keep their values on reset.
    void resetPackages();
    PackageStore& getPackageStore() { return *m_packages; }

    // --- The project file and the host's project texts and settings.
    // The project file; null when the project has none.
    std::unique_ptr<DataFile> getFile() const;
    String getName() const; // empty on a host error
    String getCityName() const;
    String getText1536() const;
    String getText1792() const;
    bool isMetric() const;
    // Asked once and kept until reset; 0 on a host error.
    uint32_t getUnitPreference();
    // The angle of the project's location; pi/2 when the host cannot say.
    double getLocationAngle() const;
    [[nodiscard]] bool setLocationAngle(double angle);
    // The city of the project's location: the attribute within a degree of it, or a new city
    // (not stored) named after the project's city text. Null when the host cannot say.
    std::unique_ptr<City> getCity();
    // The current layer combination; null when the host names none.
    std::unique_ptr<LayerCombination> getLayerCombination();
    // A copy of the current layer combination's layer states; without a combination, or one that
    // keeps none, the states of the project's layers as they are now.
    std::unique_ptr<LayerMap> getLayerMap();

    // --- Shared projects.
    // The users of a shared project, asked of the host once per project; 0 when not shared.
    size_t getUserCount();
    const User* getUser(size_t index);
    // Reserves the elements for this user; true when the list is empty or nothing is held by others.
    [[nodiscard]] bool reserveElements(const ElementLinkList& links);
    [[nodiscard]] bool releaseElements(const ElementLinkList& links);
    // The host's lockable object of an attribute type's settings; only layers have one.
    Guid getLockableObjectGuid(uint8_t attributeType) const;
    [[nodiscard]] bool reserveAttributeSettings(uint8_t attributeType);
    [[nodiscard]] bool releaseAttributeSettings(uint8_t attributeType);

    // --- Elements and layers.
    // 2 when the layer can take elements. Otherwise 0 when quiet; else the user is told why and
    // answers: 1 to choose another layer, 2 after the layer was shown or unlocked (and stored),
    // 0 to give up (or when the layer could not be stored).
    int checkLayer(Layer& layer, bool quiet);
    // Whether elements of the tool's type can be placed on the layer its defaults name, letting
    // the user make it usable unless quiet. When the host could not read the tool's defaults (or
    // switch the tool), `hostFailed` is set: false then is not the user's answer.
    bool checkToolLayer(const ElementLink& tool, bool quiet, bool* hostFailed = nullptr);
    // The element's add-on user data (empty block when it has none), with its flags, version and
    // platform sign; null on a host error (the words are then 0).
    std::unique_ptr<MemoryBlock> getElementUserData(const ElementLink& link, uint32_t* flags,
                                                    uint32_t* version, uint32_t* platform) const;
    // Writes the block (when there is one, and unless keepEmpty, when it is not empty), else
    // removes the element's user data.
    [[nodiscard]] bool setElementUserData(const ElementLink& link, MemoryBlock* data, bool keepEmpty,
                                          uint32_t flags, uint16_t version, uint16_t platform) const;

private:
    // The library-part database belongs to the library subsystem, which makes it.
    void makeLibrary();
    Drawing* drawingOfRecord(const HostDatabaseInfo& record);
    // The kept current database and front window stop naming a drawing about to go.
    void forgetDrawing(const Drawing* drawing);
    // The view list of one kind, made on first use.
    template <class List> List& viewList();

    std::unique_ptr<Database> m_libraryDatabase;
    Library* m_library = nullptr; // the same object
    std::unique_ptr<Model> m_model;
    std::unique_ptr<Plan> m_plan;
    std::unique_ptr<UserList> m_users;
    std::tuple<std::unique_ptr<DetailList>, std::unique_ptr<Document3DList>, std::unique_ptr<ElevationList>,
               std::unique_ptr<InteriorElevationList>, std::unique_ptr<LayoutList>,
               std::unique_ptr<SectionList>, std::unique_ptr<WorksheetList>>
        m_viewLists;
    std::unique_ptr<Specification> m_specification;
    std::unique_ptr<Navigator> m_navigator;
    Drawing* m_currentDatabase = nullptr;
    Drawing* m_frontWindow = nullptr;
    std::unique_ptr<PackageStore> m_packages;
    std::optional<HostUnitPreferences> m_unitPreferences;
};

} // namespace tarnwick
