// Keeps this library non-empty until its modules arrive.
namespace velmonar_scene_detail { int placeholder = 0; }
