// Keeps this library non-empty until its modules arrive.
namespace velmonar_interface_detail { int placeholder = 0; }
