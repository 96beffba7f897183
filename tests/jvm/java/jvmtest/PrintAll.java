package jvmtest;

// Prints what the launcher handed the VM: arguments, chosen system
// properties, the class path, the heap limit, the working folder, the
// runtime's version and the executable the launcher names.
public final class PrintAll {
    public static void main(String[] args) {
        System.out.println("argc=" + args.length);
        for (int i = 0; i < args.length; i++) System.out.println("arg[" + i + "]=" + args[i]);
        for (String name : new String[] {"app.plain", "app.expanded", "app.blank"})
            System.out.println("property " + name + "=" + System.getProperty(name));
        System.out.println("java.class.path=" + System.getProperty("java.class.path"));
        System.out.println("user.dir=" + System.getProperty("user.dir"));
        System.out.println("maxMemory=" + Runtime.getRuntime().maxMemory());
        System.out.println("APP_MODE=" + System.getenv("APP_MODE"));
        for (String name : new String[] {"java.version", "caskit.executable", "caskit.executable.dir"})
            System.out.println(name + "=" + System.getProperty(name));
    }
}
